#include "player/scripting/TScriptVersion.h"

TScriptVersion TScriptVersion::OfBuild() {
    return {TOVRIN_VERSION_NAME, TOVRIN_BUILD_NUMBER, TOVRIN_BUILD_DATE};
}
