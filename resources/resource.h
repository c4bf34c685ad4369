/* Resource ids, shared by velmora.rc and the program's code.  Kept to plain
   #defines so that windres reads this file as well as the compilers. */
#ifndef VELMORA_RESOURCE_H
#define VELMORA_RESOURCE_H

/* The application icon.  It has the lowest id, and comes first in
   velmora.rc, so Explorer shows it as the icon of velmora.exe too. */
#define IDI_VELMORA 1

/* The pointing hand shown over the clickable banner. */
#define IDC_HAND_POINTER 2

/* The banner picture: a JPEG file, kept as raw RCDATA and decoded at run
   time. */
#define IDR_BANNER 3

/* The banner's size in pixels, as drawn by make_resources.py. */
#define VELMORA_BANNER_WIDTH 275
#define VELMORA_BANNER_HEIGHT 85

/* The version stamped into the VERSIONINFO block. */
#define VELMORA_VERSION_BINARY 1, 0, 0, 0
#define VELMORA_VERSION_TEXT "1.0.0.0"

#endif
