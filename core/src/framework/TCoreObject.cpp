#include "core/src/framework/TCoreObject.h"

TCoreObject::TCoreObject(TCoreObject* owner) : owner_(owner) {}

TCoreObject::~TCoreObject() = default;
