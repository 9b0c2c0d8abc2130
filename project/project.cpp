#include "project/project.h"
