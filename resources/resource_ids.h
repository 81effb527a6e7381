/* Resource identifiers of the stub. Read by the resource compiler as well as
   by C++, so this header holds plain #defines only. */
#ifndef TIDEMARK_RESOURCES_RESOURCE_IDS_H
#define TIDEMARK_RESOURCES_RESOURCE_IDS_H

/* The four images of the image list imgIcons (0 grey triangle, 1 blue
   triangle, 2 grey X, 3 blue check), 32 x 32 pixels each: one RCDATA
   resource holding a zlib stream of their pixels in list order, each image
   bottom row first, 4 bytes per pixel (blue, green, red, alpha). */
#define IDR_BUTTON_IMAGES 200

/* The program's icon (16, 32 and 48 pixels), drawn by resources/icon/. The
   packer puts a product's own icon in its place. */
#define IDI_INSTALLER 1

#endif
