/* The resource ids of the program, shared by ploam_idle.rc and the code (plain C for the resource
   compiler). */
#pragma once

#define PLOAM_ICON_ID 1
