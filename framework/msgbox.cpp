#include "framework/msgbox.h"
