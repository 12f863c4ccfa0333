#include "run_folder.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

std::string makeRunFolder() {
    char pattern[] = "/tmp/tarvolin-test-XXXXXX";
    std::string folder = mkdtemp(pattern);
    fs::create_directory(folder + "/lib");
    fs::create_symlink(std::string(TRV_IDE_DIR) + "/lib/Tarvolin.fne", folder + "/lib/Tarvolin.fne");
    fs::create_directory_symlink(std::string(TRV_IDE_DIR) + "/lib/Tarvolin", folder + "/lib/Tarvolin");
    return folder;
}

void removeRunFolder(const std::string& folder) { fs::remove_all(folder); }

std::string readHostFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeHostFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

bool hostFileExists(const std::string& path) { return fs::exists(path); }
