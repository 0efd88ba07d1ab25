#pragma once

// Resource ids shared by the resource script and the code.
#define IDI_QUILLON 128
#define IDD_QUILLON_DIALOG 102
