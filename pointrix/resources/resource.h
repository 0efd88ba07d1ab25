#pragma once

// Resource ids shared by the resource script and the code.
#define IDI_POINTRIX 128
#define IDC_QUIT_BUTTON 1001
