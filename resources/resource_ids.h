/* Resource identifiers of the stub. Read by the resource compiler as well as
   by C++, so this header holds plain #defines only. */
#ifndef TIDEMARK_RESOURCES_RESOURCE_IDS_H
#define TIDEMARK_RESOURCES_RESOURCE_IDS_H

/* The four images of the image list imgIcons: 32 x 32 pixels, 32 bits per
   pixel, the bitmap of image n having the identifier IDB_BUTTON_IMAGE_0 + n
   (0 grey triangle, 1 blue triangle, 2 grey X, 3 blue check). */
#define IDB_BUTTON_IMAGE_0 200
#define IDB_BUTTON_IMAGE_1 201
#define IDB_BUTTON_IMAGE_2 202
#define IDB_BUTTON_IMAGE_3 203

#endif
