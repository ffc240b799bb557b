#pragma once
// A font made by a text measurer or device context for one logical font. It belongs to its creator's
// kind of context and is selected into such contexts only.
namespace plat::gdi {

class Font {
public:
    virtual ~Font() = default;
};

} // namespace plat::gdi
