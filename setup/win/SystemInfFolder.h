// The system's INF folder for the receiver INF search: INF files are read
// with the system's INF parser.
#pragma once

#include "setup/InfCleanup.h"

CInfFolder& SystemInfFolder();
