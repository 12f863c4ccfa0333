#include "json_document.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <new>

namespace {

constexpr size_t firstCapacity = 8;
constexpr size_t firstBuckets = 11;
constexpr size_t firstStackRoom = 1024;
constexpr UINT gbkCodePage = 936;

bool isWhitespace(WCHAR c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 0; }
bool isDigit(WCHAR c) { return c >= '0' && c <= '9'; }
bool isQuote(WCHAR c) { return c == '"' || c == '\''; }
bool isOpening(WCHAR c) { return c == '{' || c == '['; }

int hexDigit(WCHAR c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool equalsAscii(JsonTextView text, const char* ascii) {
    size_t i = 0;
    for (; ascii[i]; ++i)
        if (i >= text.size() || text[i] != WCHAR(ascii[i])) return false;
    return i == text.size();
}

// Leading whitespace, an optional sign and decimal digits, as the C runtime's
// _wtoi64 reads them; saturates instead of overflowing.
int64_t readInteger(JsonTextView text) {
    size_t i = 0;
    while (i < text.size() && text[i] <= ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    uint64_t magnitude = 0;
    const uint64_t limit = negative ? uint64_t(INT64_MAX) + 1 : uint64_t(INT64_MAX);
    for (; i < text.size() && isDigit(text[i]); ++i) {
        unsigned digit = unsigned(text[i] - '0');
        if (magnitude > (limit - digit) / 10) return negative ? INT64_MIN : INT64_MAX;
        magnitude = magnitude * 10 + digit;
    }
    return negative ? int64_t(0 - magnitude) : int64_t(magnitude);
}

// Numbers: a digit, sign or point first; then digits, one point in all, one
// exponent letter and one more sign. Characters up to 32 are passed over.
bool isNumberToken(JsonTextView token) {
    WCHAR first = token[0];
    if (!isDigit(first) && first != '+' && first != '-' && first != '.') return false;
    int points = first == '.', exponents = 0, signs = 0;
    for (size_t i = 1; i < token.size(); ++i) {
        WCHAR c = token[i];
        if (c <= ' ' || isDigit(c)) continue;
        if (c == '.') {
            if (++points > 1) return false;
        } else if (c == 'e' || c == 'E') {
            if (++exponents > 1) return false;
        } else if (c == '+' || c == '-') {
            if (++signs > 1) return false;
        } else {
            return false;
        }
    }
    return true;
}

bool isIntegerToken(JsonTextView token) {
    for (size_t i = 0; i < token.size(); ++i) {
        WCHAR c = token[i];
        if (c == '.' || c == 'e' || c == 'E' || (i > 0 && (c == '+' || c == '-'))) return false;
    }
    return true;
}

double readDouble(JsonTextView token) {
    std::string narrow(token.size(), '\0');  // a number token is ASCII
    std::transform(token.begin(), token.end(), narrow.begin(), [](WCHAR c) { return char(c); });
    return std::strtod(narrow.c_str(), nullptr);
}

struct NodeReleaser {
    void operator()(JsonNode* node) const { node->release(); }
};
using NodeRef = std::unique_ptr<JsonNode, NodeReleaser>;

}  // namespace

JsonText wideFromCodePage(UINT codePage, std::string_view text) {
    if (std::all_of(text.begin(), text.end(), [](char c) { return (unsigned char)c < 0x80; }))
        return JsonText(text.begin(), text.end());
    int length = MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), nullptr, 0);
    if (length <= 0) return {};
    JsonText wide(size_t(length), WCHAR(0));
    length = MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), wide.data(), length);
    wide.resize(size_t(std::max(length, 0)));
    return wide;
}

std::string codePageFromWide(UINT codePage, JsonTextView text) {
    if (std::all_of(text.begin(), text.end(), [](WCHAR c) { return c < 0x80; }))
        return std::string(text.begin(), text.end());
    int length = WideCharToMultiByte(codePage, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string narrow(size_t(length), '\0');
    length = WideCharToMultiByte(codePage, 0, text.data(), int(text.size()), narrow.data(), length, nullptr, nullptr);
    narrow.resize(size_t(std::max(length, 0)));
    return narrow;
}

// Element list

void ElementList::append(JsonNode* node) {
    if (count_ == capacity_) {
        size_t grown = capacity_ == 0 ? firstCapacity : 2 * capacity_ + 1;
        auto items = std::make_unique<JsonNode*[]>(grown);
        std::copy(items_.get(), items_.get() + count_, items.get());
        items_ = std::move(items);
        capacity_ = grown;
    }
    items_[count_++] = node;
}

// Member table

MemberTable::MemberTable() : buckets_(firstBuckets, nullptr) {
    threshold_ = size_t(float(firstBuckets) * loadFactor_);
}

uint32_t MemberTable::hashOf(JsonTextView key) {
    // Σ byte[j] × 31^j over the UTF-16 bytes, low byte first, from the last byte.
    uint32_t hash = 0;
    for (size_t i = key.size(); i-- > 0;) {
        uint32_t unit = uint16_t(key[i]);
        hash = hash * 31 + (unit >> 8);
        hash = hash * 31 + (unit & 0xFF);
    }
    return hash;
}

JsonNode* MemberTable::find(JsonTextView key) const { return find(key, hashOf(key)); }

JsonNode* MemberTable::find(JsonTextView key, uint32_t hash) const {
    for (JsonNode* node = buckets_[(hash & 0x7FFFFFFFu) % buckets_.size()]; node; node = node->next_)
        if (node->keyHash_ == hash && JsonTextView(node->key_) == key) return node;
    return nullptr;
}

void MemberTable::grow() {
    std::vector<JsonNode*> buckets(2 * buckets_.size() + 1, nullptr);
    for (JsonNode* node : buckets_)
        while (node) {
            JsonNode* next = node->next_;
            JsonNode*& head = buckets[(node->keyHash_ & 0x7FFFFFFFu) % buckets.size()];
            node->next_ = head;
            head = node;
            node = next;
        }
    buckets_.swap(buckets);
    threshold_ = size_t(float(buckets_.size()) * loadFactor_);
}

JsonNode* MemberTable::insert(JsonText key, JsonNode* node) {
    uint32_t hash = hashOf(key);
    if (JsonNode* old = find(key, hash)) {
        // The new node takes the old one's key, chain link and position.
        JsonNode** link = &buckets_[(hash & 0x7FFFFFFFu) % buckets_.size()];
        while (*link != old) link = &(*link)->next_;
        *link = node;
        node->key_ = std::move(old->key_);
        node->keyHash_ = hash;
        node->next_ = old->next_;
        node->position_ = old->position_;
        order_.replace(old->position_, node);
        old->next_ = nullptr;
        old->parent_ = nullptr;
        return old;
    }
    // Everything that may fail to allocate comes before the node is linked.
    if (count_ >= threshold_) grow();
    order_.append(node);
    node->key_ = std::move(key);
    node->keyHash_ = hash;
    node->position_ = order_.count() - 1;
    JsonNode*& head = buckets_[(hash & 0x7FFFFFFFu) % buckets_.size()];
    node->next_ = head;
    head = node;
    ++count_;
    return nullptr;
}

// Node

JsonNode* JsonNode::create(JsonKind kind) {
    NodeRef node(new JsonNode(JsonKind::Null));
    if (kind == JsonKind::Array || kind == JsonKind::Object)
        node->becomeContainer(kind);
    else
        node->kind_ = kind;
    return node.release();
}

void JsonNode::becomeContainer(JsonKind kind) {
    if (kind == JsonKind::Array)
        value_.elements = new ElementList;
    else
        value_.members = new MemberTable;
    kind_ = kind;
}

void JsonNode::setString(JsonText text) {
    value_.string = new JsonText(std::move(text));
    kind_ = JsonKind::String;
}

void JsonNode::release() {
    if (references_.fetch_sub(1, std::memory_order_acq_rel) != 1) return;
    next_ = nullptr;
    freeAll(this);
}

void JsonNode::empty() {
    JsonNode* dead = nullptr;
    dropValue(dead);
    freeAll(dead);
}

void JsonNode::freeAll(JsonNode* dead) {
    while (dead) {
        JsonNode* node = dead;
        dead = node->next_;
        node->dropValue(dead);
        delete node;
    }
}

void JsonNode::dropValue(JsonNode*& dead) {
    // Children are let go of one level at a time; those that lose their last
    // reference join `dead` through their now unused chain link.
    auto letGo = [&dead](JsonNode* child) {
        child->parent_ = nullptr;
        child->next_ = nullptr;
        if (child->references_.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            child->next_ = dead;
            dead = child;
        }
    };
    switch (kind_) {
        case JsonKind::String: delete value_.string; break;
        case JsonKind::Array:
            if (ElementList* elements = value_.elements) {
                for (size_t i = 0; i < elements->count(); ++i) letGo(elements->at(i));
                delete elements;
            }
            break;
        case JsonKind::Object:
            if (MemberTable* members = value_.members) {
                for (size_t i = 0; i < members->order().count(); ++i) letGo(members->order().at(i));
                delete members;
            }
            break;
        default: break;
    }
    value_ = {};
    JsonText().swap(raw_);
}

size_t JsonNode::count() const {
    if (const ElementList* list = elements()) return list->count();
    if (const MemberTable* table = members()) return table->count();
    return 0;
}

const JsonNode* JsonNode::child(int64_t index) const {
    const ElementList* list = elements();
    if (const MemberTable* table = members()) list = &table->order();
    if (!list || index < 0 || uint64_t(index) >= list->count()) return nullptr;
    return list->at(size_t(index));
}

const JsonNode* JsonNode::member(JsonTextView name) const {
    const MemberTable* table = members();
    return table ? table->find(name) : nullptr;
}

// Parser: one pass over the UTF-16 text with a stack of open containers.

class JsonParser {
public:
    JsonParser(JsonNode* root, JsonTextView text, bool unescapeU, size_t& position)
        : root_(root), text_(text), unescapeU_(unescapeU), at_(position) {}

    int run();

private:
    enum State { nameExpected = 1, valueExpected = 2, valueDone = 3 };
    struct OpenContainer {
        JsonNode* node;
        State state;
        JsonText name;  // the member name read, until its value comes
    };

    bool atEnd() const { return at_ >= text_.size(); }
    void skipWhitespace() {
        while (!atEnd() && isWhitespace(text_[at_])) ++at_;
    }
    size_t escapeLength(size_t at) const { return at + 1 < text_.size() && text_[at + 1] == 'u' ? 6 : 2; }
    bool findClosingQuote(size_t start, size_t& end) const;
    size_t trimmedEnd(size_t start, size_t end) const {
        while (end > start && isWhitespace(text_[end - 1])) --end;
        return end;
    }

    int stepInObject(OpenContainer& top);
    int stepInArray(OpenContainer& top);
    int readRootScalar();
    int readQuotedName(OpenContainer& top);
    int readUnquotedName(OpenContainer& top);
    int readValue(OpenContainer& top, WCHAR closer);
    int fillScalar(JsonNode* node, JsonTextView token, bool atRoot);
    JsonText unescape(JsonTextView content) const;
    int stopAt(size_t at, int code) {
        at_ = at;
        return code;
    }
    int open(JsonKind kind);
    void attach(OpenContainer& top, NodeRef node);
    int close();

    JsonNode* root_;
    JsonTextView text_;
    bool unescapeU_;
    size_t& at_;
    std::vector<OpenContainer> stack_;
};

int JsonParser::run() {
    stack_.reserve(firstStackRoom);
    bool rootDone = false;
    for (;;) {
        skipWhitespace();
        if (stack_.empty()) {
            if (atEnd()) return rootDone ? jsonOk : jsonEmptyText;
            WCHAR c = text_[at_];
            // Only whitespace may follow the root value.
            if (rootDone) return isOpening(c) ? jsonMalformedObject : jsonMalformedValue;
            rootDone = true;
            root_->empty();  // a new root holds an empty object until the text gives it a value
            if (!isOpening(c)) {
                if (int error = readRootScalar()) return error;
                continue;
            }
            root_->becomeContainer(c == '{' ? JsonKind::Object : JsonKind::Array);
            stack_.push_back({root_, c == '{' ? nameExpected : valueExpected, {}});
            ++at_;
            continue;
        }
        if (atEnd()) return jsonUnclosed;
        OpenContainer& top = stack_.back();
        int error = top.node->kind_ == JsonKind::Object ? stepInObject(top) : stepInArray(top);
        if (error) return error;
    }
}

int JsonParser::stepInObject(OpenContainer& top) {
    WCHAR c = text_[at_];
    switch (top.state) {
        case nameExpected:
            if (c == '}') return close();  // also right after a comma
            if (isQuote(c)) return readQuotedName(top);
            if (c == ':' || c == ',' || isOpening(c)) return jsonMalformedObject;
            return readUnquotedName(top);
        case valueExpected:
            if (isOpening(c)) return open(c == '{' ? JsonKind::Object : JsonKind::Array);
            if (c == ',' || c == '}') return jsonMalformedValue;  // a name without a value
            return readValue(top, '}');
        case valueDone:
            if (c == ',') {
                top.state = nameExpected;
                ++at_;
                return jsonOk;
            }
            if (c == '}') return close();
            return isOpening(c) ? jsonMalformedObject : jsonMalformedValue;
    }
    return jsonMalformedObject;
}

int JsonParser::stepInArray(OpenContainer& top) {
    WCHAR c = text_[at_];
    if (c == ']') return close();  // also right after a comma
    if (top.state == valueDone) {
        if (c != ',') return isOpening(c) ? jsonMalformedObject : jsonMalformedValue;
        top.state = valueExpected;
        ++at_;
        return jsonOk;
    }
    if (isOpening(c)) return open(c == '{' ? JsonKind::Object : JsonKind::Array);
    return readValue(top, ']');
}

bool JsonParser::findClosingQuote(size_t start, size_t& end) const {
    WCHAR quote = text_[start];
    for (size_t i = start + 1; i < text_.size();) {
        if (text_[i] == '\\') {
            i += escapeLength(i);
        } else if (text_[i] == quote) {
            end = i;
            return true;
        } else {
            ++i;
        }
    }
    return false;
}

int JsonParser::readRootScalar() {
    size_t start = at_, end = trimmedEnd(start, text_.size());
    if (isQuote(text_[start])) {
        size_t quote;
        if (!findClosingQuote(start, quote)) return stopAt(text_.size(), jsonMalformedValue);
        if (quote + 1 != end) return stopAt(quote + 1, jsonMalformedValue);
    }
    if (int error = fillScalar(root_, text_.substr(start, end - start), true)) return error;
    at_ = text_.size();
    return jsonOk;
}

int JsonParser::readQuotedName(OpenContainer& top) {
    size_t start = at_, end;
    if (!findClosingQuote(start, end)) return stopAt(text_.size(), jsonMalformedValue);
    if (end == start + 1) return jsonMalformedObject;  // an empty name
    at_ = end + 1;
    skipWhitespace();
    if (atEnd()) return jsonUnclosed;
    WCHAR c = text_[at_];
    if (c == ',' || c == '}') return jsonMalformedValue;  // a name without a value
    if (c != ':') return jsonMalformedObject;
    top.name = unescape(text_.substr(start + 1, end - start - 1));
    top.state = valueExpected;
    ++at_;
    return jsonOk;
}

int JsonParser::readUnquotedName(OpenContainer& top) {
    size_t start = at_, end = at_;
    while (end < text_.size()) {
        WCHAR c = text_[end];
        if (c == ':' || c == ',' || c == '}' || isQuote(c) || isOpening(c)) break;
        ++end;
    }
    at_ = end;
    if (atEnd()) return jsonUnclosed;
    WCHAR c = text_[end];
    if (c == ',' || c == '}') return jsonMalformedValue;  // a name without a value
    if (c != ':') return jsonMalformedObject;             // a quote or an opening inside the name
    top.name = JsonText(text_.substr(start, trimmedEnd(start, end) - start));
    top.state = valueExpected;
    ++at_;
    return jsonOk;
}

int JsonParser::readValue(OpenContainer& top, WCHAR closer) {
    size_t start = at_, end;
    if (isQuote(text_[start])) {
        size_t quote;
        if (!findClosingQuote(start, quote)) return stopAt(text_.size(), jsonMalformedValue);
        end = quote + 1;
        at_ = end;
        skipWhitespace();
        if (!atEnd() && text_[at_] != ',' && text_[at_] != closer) return jsonMalformedValue;
    } else {
        size_t i = start;
        while (i < text_.size() && text_[i] != ',' && text_[i] != closer) {
            if (isOpening(text_[i])) return stopAt(i, jsonMalformedValue);  // opened inside a value
            i += text_[i] == '\\' ? escapeLength(i) : 1;
        }
        if (i >= text_.size()) return stopAt(text_.size(), jsonUnclosed);
        at_ = i;
        end = trimmedEnd(start, i);
    }
    NodeRef node(JsonNode::create(JsonKind::Null));
    if (int error = fillScalar(node.get(), text_.substr(start, end - start), false)) return stopAt(start, error);
    attach(top, std::move(node));
    top.state = valueDone;
    return jsonOk;
}

int JsonParser::fillScalar(JsonNode* node, JsonTextView token, bool atRoot) {
    if (token.empty()) return jsonMalformedValue;
    if (isQuote(token[0])) {
        node->setString(unescape(token.substr(1, token.size() - 2)));
        return jsonOk;
    }
    if (equalsAscii(token, "null")) {
        node->kind_ = JsonKind::Null;
    } else if (equalsAscii(token, "true") || equalsAscii(token, "false")) {
        node->kind_ = JsonKind::Boolean;
        node->value_.boolean = token[0] == 't';
    } else if (!isNumberToken(token)) {
        return jsonMalformedValue;
    } else if (!isIntegerToken(token)) {
        node->kind_ = JsonKind::Number;
        node->value_.number = readDouble(token);
    } else if (atRoot) {
        node->kind_ = JsonKind::Integer;
        node->value_.integer = readInteger(token);
    } else {
        node->kind_ = JsonKind::Number;  // numbers inside containers are all doubles
        node->value_.number = double(readInteger(token));
    }
    node->raw_ = JsonText(token);
    return jsonOk;
}

JsonText JsonParser::unescape(JsonTextView content) const {
    JsonText out;
    out.reserve(content.size());
    for (size_t i = 0; i < content.size(); ++i) {
        WCHAR c = content[i];
        if (c != '\\' || i + 1 == content.size()) {
            out += c;
            continue;
        }
        WCHAR next = content[i + 1];
        switch (next) {
            case '\\':
            case '/':
            case '"': out += next; break;
            case 'b': out += WCHAR(8); break;
            case 't': out += WCHAR(9); break;
            case 'n': out += WCHAR(10); break;
            case 'r': out += WCHAR(13); break;
            case 'f': out += WCHAR(12); break;
            case 'u': {
                int value = 0;
                bool hex = unescapeU_ && i + 6 <= content.size();
                for (size_t j = i + 2; hex && j < i + 6; ++j) {
                    int digit = hexDigit(content[j]);
                    hex = digit >= 0;
                    value = value * 16 + digit;
                }
                if (hex)
                    out += WCHAR(value);
                else  // the six characters stay, as far as there are six
                    out += content.substr(i, 6);
                i += 4;
                break;
            }
            default: out += c; continue;  // both characters stay
        }
        ++i;
    }
    return out;
}

int JsonParser::open(JsonKind kind) {
    NodeRef node(JsonNode::create(kind));
    JsonNode* container = node.get();
    attach(stack_.back(), std::move(node));
    if (stack_.size() == stack_.capacity()) stack_.reserve(2 * stack_.capacity());
    stack_.push_back({container, kind == JsonKind::Object ? nameExpected : valueExpected, {}});
    ++at_;
    return jsonOk;
}

void JsonParser::attach(OpenContainer& top, NodeRef node) {
    JsonNode* child = node.get();
    JsonNode* parent = top.node;
    if (parent->kind_ == JsonKind::Array) {
        parent->value_.elements->append(child);
        child->position_ = parent->value_.elements->count() - 1;
    } else if (JsonNode* replaced = parent->value_.members->insert(std::move(top.name), child)) {
        replaced->release();  // a duplicate name keeps its place and takes the last value
    }
    child->parent_ = parent;
    node.release();
}

int JsonParser::close() {
    stack_.pop_back();
    if (!stack_.empty()) stack_.back().state = valueDone;
    ++at_;
    return jsonOk;
}

// Document

JsonDocument::~JsonDocument() {
    if (root_) root_->release();
}

bool JsonDocument::parse(std::string_view text, bool unescapeU, int* errorCode, int* errorPosition) {
    int code;
    size_t position = 0;
    try {
        if (root_)
            root_->empty();
        else
            root_ = JsonNode::create(JsonKind::Object);
        if (text.size() > size_t(INT_MAX)) {
            code = jsonOutOfMemory;  // more than the code-page conversion takes
        } else {
            JsonText wide = wideFromCodePage(gbkCodePage, text);
            code = JsonParser(root_, wide, unescapeU, position).run();
        }
    } catch (const std::bad_alloc&) {
        code = jsonOutOfMemory;
    }
    if (code != jsonOk && root_) root_->empty();
    if (errorCode) *errorCode = code;
    if (errorPosition) *errorPosition = int(std::min(position, size_t(INT_MAX)));
    return code == jsonOk;
}

const JsonNode* JsonDocument::nodeAt(std::string_view path) const {
    const JsonNode* node = root_;
    if (!node) return nullptr;
    JsonText steps = wideFromCodePage(gbkCodePage, path);
    size_t i = 0, n = steps.size();
    // A path begins with a name or an index step; a dot always starts a name.
    bool nameNext = n > 0 && steps[0] != '[';
    while (node && (i < n || nameNext)) {
        if (nameNext) {
            JsonText name;
            for (; i < n && steps[i] != '.' && steps[i] != '['; ++i) {
                WCHAR next = i + 1 < n ? steps[i + 1] : 0;
                if (steps[i] == '\\' && (next == '.' || next == '[' || next == ']' || next == '\\')) ++i;
                name += steps[i];
            }
            node = node->member(name);
        } else {
            if (steps[i] != '[') return nullptr;
            size_t close = steps.find(WCHAR(']'), i + 1);
            if (close == JsonText::npos) return nullptr;
            node = node->child(readInteger(JsonTextView(steps).substr(i + 1, close - i - 1)));
            i = close + 1;
        }
        nameNext = i < n && steps[i] == '.';
        if (nameNext) ++i;
    }
    return node;
}

int JsonDocument::countAt(std::string_view path) const {
    const JsonNode* node = nodeAt(path);
    return node ? int(std::min(node->count(), size_t(INT_MAX))) : 0;
}

std::string JsonDocument::textAt(std::string_view path) const {
    const JsonNode* node = nodeAt(path);
    const JsonText* text = node ? node->string() : nullptr;
    return text ? codePageFromWide(gbkCodePage, *text) : std::string();
}
