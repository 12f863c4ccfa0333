// The icons of the component box: the icon table "lib\Tarvolin\Control\icon.json"
// below the run directory pairs component names with image files below
// "lib\Tarvolin\Control\DarkIcons\". Nothing is cached: every lookup reads
// the table anew.
#pragma once

#include <xcgui.h>

#include <string>
#include <string_view>

class JsonDocument;

class IconMap {
public:
    // The image of the first entry whose "eName" or "cName" equals the item
    // text (GBK; null reads as empty) up to the case of Latin letters, loaded
    // by the toolkit; 0 when the table is missing or bad or nothing matches.
    static HIMAGE lookUpIcon(const char* itemText);
};

// The table file's bytes as text: up to the first NUL, "%" with two hex
// digits as that byte, "+" as a space, then UTF-8 to GBK, up to the first NUL.
std::string decodeIconTable(std::string_view fileBytes);
// Latin capitals to lower case; GBK double-byte characters stay whole.
std::string foldLatinCase(std::string_view gbk);
// The "iCons" text of the first matching entry of a parsed table; false when
// no entry matches.
bool findIconFile(const JsonDocument& table, std::string_view itemText, std::string& file);
