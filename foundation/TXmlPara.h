#pragma once
// One attribute of an XML element, held in its document's storage as the element is.
#include "foundation/TPointer.h"
#include "foundation/XmlChars.h"

#include <cstddef>
#include <new>

class TXmlPara : public TListItem<TXmlPara> {
public:
    TXmlPara() = default;
    virtual ~TXmlPara();
    TXmlPara(const TXmlPara&) = delete;
    TXmlPara& operator=(const TXmlPara&) = delete;

    static void* operator new(std::size_t) = delete;
    static void operator delete(TXmlPara* attribute, std::destroying_delete_t) { attribute->~TXmlPara(); }

    XmlChars Name;
    XmlChars Value; // none for a missing or empty value
};
