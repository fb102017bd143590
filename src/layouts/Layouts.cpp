#include "Layouts.h"
