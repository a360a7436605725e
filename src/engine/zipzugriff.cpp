#include "engine/zipzugriff.h"
