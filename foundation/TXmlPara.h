#pragma once
// One attribute of an XML element.
#include "foundation/TPointer.h"

#include <memory>

class TXmlPara : public TListItem<TXmlPara> {
public:
    TXmlPara() = default;
    virtual ~TXmlPara();
    TXmlPara(const TXmlPara&) = delete;
    TXmlPara& operator=(const TXmlPara&) = delete;

    std::unique_ptr<char16_t[]> Name;
    std::unique_ptr<char16_t[]> Value; // none for a missing or empty value
};
