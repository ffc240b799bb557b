#include "foundation/TXmlPara.h"

// Defined here so the class's virtual table lives in this one object file.
TXmlPara::~TXmlPara() = default;
