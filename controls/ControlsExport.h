#pragma once
// Symbol export for libZorbelControls.so.
#include <QtCore/qglobal.h>

#if defined(ZORBEL_CONTROLS_BUILD)
#define ZORBEL_CONTROLS_EXPORT Q_DECL_EXPORT
#else
#define ZORBEL_CONTROLS_EXPORT Q_DECL_IMPORT
#endif
