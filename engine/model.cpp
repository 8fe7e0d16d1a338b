#include "engine/model.h"
const char kAutodeskPrefix[] = "Software\\Autodesk\\";
