#include "platform/host_abi.h"
extern "C" host::ImportTableFormat ImportTable = {};
