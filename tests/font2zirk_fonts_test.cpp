#include "font2zirk_support.h"
