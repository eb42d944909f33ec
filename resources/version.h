/* The release number, the one place it is written: the version resources of the three programs,
   the build and the release packages read it from here. */
#pragma once

#define TARN_VERSION_MAJOR 1
#define TARN_VERSION_MINOR 0
#define TARN_VERSION_PATCH 2
#define TARN_VERSION_TEXT "1.0.2"

#define TARN_PRODUCT_NAME "Nirel Tarn Gaming Mouse Driver"
#define TARN_PUBLISHER "Nirel"
