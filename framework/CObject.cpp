// Run-time class records of the root classes.
#include "CObject.h"

const CRuntimeClass CObject::classCObject = {"CObject", nullptr};
