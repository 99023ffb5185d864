/* Resource names and numbers; shared by the resource script and the code. */
#ifndef QELVAN_RESOURCE_IDS_H
#define QELVAN_RESOURCE_IDS_H

#define IDR_BANNER_JPEG     100
#define IDR_SKIN_ENGINE     101
/* Skins are RCDATA 1001..1033, skin n at IDR_SKIN_BASE + n. */
#define IDR_SKIN_BASE       1000
#define SKIN_COUNT          33

#endif
