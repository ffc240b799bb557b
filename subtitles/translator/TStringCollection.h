#pragma once
// A named table of message texts looked up by key. Keys are 8-bit, compared without regard to case
// and held once, in sorted order; each points to its text in the value list. Programs add every key
// with its English text when they start, then let a language file replace the texts.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class TStringCollection {
public:
    TStringCollection() = default;
    explicit TStringCollection(std::string name);
    ~TStringCollection();
    TStringCollection(const TStringCollection&) = delete;
    TStringCollection& operator=(const TStringCollection&) = delete;

    // Appends the text to the value list and points the key to it (an existing key too). False when
    // the key is refused: empty, longer than kMaxKeyLength, or not usable as an XML element name
    // (the language files and templates carry keys as element names).
    bool Add(std::string_view key, std::u16string_view text);
    // Forgets every key and text.
    void Clear();
    // Replaces the text of an existing key; false, with nothing added, for an unknown key.
    bool SetText(std::string_view key, std::u16string_view text);
    // The key's text; an empty text for an unknown key.
    std::u16string GetText(std::string_view key) const;
    // Whether the key exists; its text goes to `text` when one is given.
    bool Find(std::string_view key, std::u16string* text = nullptr) const;
    // The entry at `index` in key order; false beyond the last key (the outputs are then untouched).
    bool GetEntry(int index, std::string* key, std::u16string* text) const;
    int Count() const { return static_cast<int>(Keys.size()); }

    static constexpr std::size_t kMaxKeyLength = 255;

    std::string Name;

private:
    struct Key {
        std::string Name;
        std::size_t Value; // index in Values
    };
    // The first key not less than `key` (case-insensitive order).
    std::vector<Key>::const_iterator LowerBound(std::string_view key) const;
    // The key's entry, or nullptr.
    const Key* Lookup(std::string_view key) const;

    std::vector<Key> Keys;
    std::vector<std::u16string> Values;
};
