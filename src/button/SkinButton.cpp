#include "SkinButton.h"
