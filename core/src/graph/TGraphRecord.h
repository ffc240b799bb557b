#pragma once
// Our own form of a filter graph inside a graph file: its filters (class id, identifier, source file)
// and its links (by filter identifier and pin name), as a small versioned binary record. Decoding checks
// every length and count against the bytes that are left before it reads, so a hostile or foreign
// record is refused without reading past its end.
#include "platform/media/Guid.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

class TGraphRecord {
public:
    struct Filter {
        plat::media::Guid classId;
        std::string identifier;
        std::optional<std::string> sourceFile;
        bool operator==(const Filter&) const = default;
    };
    struct Link {
        std::string outputFilter;
        std::string outputPin;
        std::string inputFilter;
        std::string inputPin;
        bool operator==(const Link&) const = default;
    };

    static constexpr std::uint16_t kVersion = 1;
    // Limits that keep a decoded record small, whatever its counts claim.
    static constexpr std::uint32_t kMaxText = 4096;
    static constexpr std::uint32_t kMaxFilters = 1024;
    static constexpr std::uint32_t kMaxLinks = 4096;

    std::vector<Filter> filters;
    std::vector<Link> links;

    std::vector<std::uint8_t> Encode() const;
    // Nothing for bytes that are not a whole record of a version this code reads.
    static std::optional<TGraphRecord> Decode(std::span<const std::uint8_t> bytes);

    bool operator==(const TGraphRecord&) const = default;
};
