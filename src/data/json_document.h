// A read-only JSON value tree filled from text and queried by path. Texts in
// and out are GBK (code page 936); inside, every string is UTF-16.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

using JsonText = std::basic_string<WCHAR>;
using JsonTextView = std::basic_string_view<WCHAR>;

// Code-page conversion at the document's boundary (936 or CP_UTF8 to UTF-16
// and back). ASCII text is copied as it is; anything else goes through the
// platform's conversion, which replaces what it cannot convert.
JsonText wideFromCodePage(UINT codePage, std::string_view text);
std::string codePageFromWide(UINT codePage, JsonTextView text);

enum class JsonKind : int32_t { Null = 0, Number = 1, Integer = 2, Boolean = 3, String = 4, Array = 5, Object = 6 };

// Error codes of JsonDocument::parse.
enum JsonError : int {
    jsonOk = 0,
    jsonEmptyText = -2,
    jsonOutOfMemory = -3,
    jsonMalformedObject = -4,
    jsonUnclosed = -5,
    jsonMalformedValue = -6,
};

class JsonNode;

// The elements of an array, or the members of an object in the order of
// their first insertion. Capacity 8 at the first append, then 2 × c + 1.
class ElementList {
public:
    ElementList() = default;
    ElementList(const ElementList&) = delete;
    ElementList& operator=(const ElementList&) = delete;

    size_t count() const { return count_; }
    size_t capacity() const { return capacity_; }
    JsonNode* at(size_t index) const { return items_[index]; }
    void append(JsonNode* node);
    void replace(size_t index, JsonNode* node) { items_[index] = node; }

private:
    std::unique_ptr<JsonNode*[]> items_;
    size_t count_ = 0;
    size_t capacity_ = 0;
};

// The members of an object: hash chains over the key's UTF-16 bytes, plus
// the order list. 11 buckets, grown to 2 × b + 1 when the member count
// reaches trunc(buckets × 0.75).
class MemberTable {
public:
    MemberTable();

    size_t count() const { return count_; }
    size_t bucketCount() const { return buckets_.size(); }
    const ElementList& order() const { return order_; }

    JsonNode* find(JsonTextView key) const;
    // Adds the node under `key`; an existing member of that name is replaced
    // in place and returned (the caller releases it), else null.
    JsonNode* insert(JsonText key, JsonNode* node);

    static uint32_t hashOf(JsonTextView key);

private:
    JsonNode* find(JsonTextView key, uint32_t hash) const;
    void grow();

    std::vector<JsonNode*> buckets_;
    size_t count_ = 0;
    size_t threshold_ = 0;
    float loadFactor_ = 0.75f;
    ElementList order_;
};

// One value, reference-counted: the tree holds one reference to each node,
// a document one to its root.
class JsonNode {
public:
    // Drops one reference; the last one frees the node and what it holds,
    // without recursion, however deep the tree.
    void release();

    JsonKind kind() const { return kind_; }
    double number() const { return kind_ == JsonKind::Number ? value_.number : 0; }
    int64_t integer() const { return kind_ == JsonKind::Integer ? value_.integer : 0; }
    bool boolean() const { return kind_ == JsonKind::Boolean && value_.boolean; }
    // The string of a string node, else null.
    const JsonText* string() const { return kind_ == JsonKind::String ? value_.string : nullptr; }
    const ElementList* elements() const { return kind_ == JsonKind::Array ? value_.elements : nullptr; }
    const MemberTable* members() const { return kind_ == JsonKind::Object ? value_.members : nullptr; }
    // The token as written, for scalars read from text.
    const JsonText* rawText() const { return raw_.empty() ? nullptr : &raw_; }
    const JsonNode* parent() const { return parent_; }
    const JsonText* key() const { return key_.empty() ? nullptr : &key_; }
    // Members of an object, elements of an array, else 0.
    size_t count() const;
    // The element, or the member in insertion order; null when out of range.
    const JsonNode* child(int64_t index) const;
    const JsonNode* member(JsonTextView name) const;

private:
    friend class MemberTable;
    friend class JsonParser;
    friend class JsonDocument;

    explicit JsonNode(JsonKind kind) : kind_(kind) {}
    ~JsonNode() = default;
    // A node with one reference; containers come with an empty list or table.
    static JsonNode* create(JsonKind kind);
    // Releases the value, its children and the raw text and zeroes the
    // value; the kind stays.
    void empty();
    // Lets go of the children; those that lose their last reference are put
    // on `dead`, a list linked through `next_`.
    void dropValue(JsonNode*& dead);
    static void freeAll(JsonNode* dead);
    void setString(JsonText text);
    void becomeContainer(JsonKind kind);

    std::atomic<int32_t> references_{1};
    JsonKind kind_;
    union {
        double number;
        int64_t integer;
        int32_t boolean;
        JsonText* string;
        ElementList* elements;
        MemberTable* members;
    } value_{};
    // A scalar's token and a member's name are never empty: empty means none.
    JsonText raw_;
    JsonNode* parent_ = nullptr;
    JsonText key_;
    uint32_t keyHash_ = 0;
    JsonNode* next_ = nullptr;  // the next member in the same bucket
    size_t position_ = 0;       // index in the parent's element or order list
};

class JsonDocument {
public:
    JsonDocument() = default;
    ~JsonDocument();
    JsonDocument(const JsonDocument&) = delete;
    JsonDocument& operator=(const JsonDocument&) = delete;

    // Fills the document from GBK text. With `unescapeU`, "\uXXXX" in strings
    // becomes one character; without, the six characters stay. On failure the
    // root is emptied, `errorCode` gets a JsonError and `errorPosition` the
    // UTF-16 index where scanning stopped.
    bool parse(std::string_view text, bool unescapeU, int* errorCode = nullptr, int* errorPosition = nullptr);

    // Member count of an object, element count of an array, else 0.
    int countAt(std::string_view path) const;
    // The string at the path in GBK; empty when the path leads nowhere or to
    // anything but a string.
    std::string textAt(std::string_view path) const;
    // The node at the path (GBK), or null when it leads nowhere.
    const JsonNode* nodeAt(std::string_view path) const;
    const JsonNode* root() const { return root_; }

private:
    JsonNode* root_ = nullptr;
};
