#include "ToolkitCalls.h"

const TToolkitCalls ToolkitRealCalls = {
    ::WriteFile,
};
TToolkitCalls ToolkitCalls = ToolkitRealCalls;
