#include "player/model/binding/TCommon.h"

TCommon::~TCommon() = default;
