#include "platform/UnitNumText.h"
