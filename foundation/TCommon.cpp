#include "foundation/TCommon.h"

TCommon::~TCommon() = default;
