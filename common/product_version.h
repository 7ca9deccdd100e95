#pragma once
// The release and its maker, as the uninstall entry, the installer's version
// resource and smx state them. Plain macros: the resource compiler reads
// this header too.
#define SM_PRODUCT_NAME "OrvNet"
#define SM_PRODUCT_VERSION "2.5.0.0"
#define SM_PRODUCT_VERSION_NUMBERS 2, 5, 0, 0
#define SM_PUBLISHER "Velmarisco"
