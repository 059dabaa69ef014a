"""X cursor files read with the real X cursor library (libXcursor.so.1, Debian's libxcursor1)
through ctypes: what desktops see of a file."""
import ctypes

import numpy as np


class XcursorImage(ctypes.Structure):
    _fields_ = [("version", ctypes.c_uint32), ("size", ctypes.c_uint32), ("width", ctypes.c_uint32),
                ("height", ctypes.c_uint32), ("xhot", ctypes.c_uint32), ("yhot", ctypes.c_uint32),
                ("delay", ctypes.c_uint32), ("pixels", ctypes.POINTER(ctypes.c_uint32))]


class XcursorImages(ctypes.Structure):
    _fields_ = [("nimage", ctypes.c_int), ("images", ctypes.POINTER(ctypes.POINTER(XcursorImage))),
                ("name", ctypes.c_char_p)]


LIB = ctypes.CDLL("libXcursor.so.1")
LIB.XcursorFilenameLoadAllImages.restype = ctypes.POINTER(XcursorImages)
LIB.XcursorFilenameLoadAllImages.argtypes = [ctypes.c_char_p]
LIB.XcursorImagesDestroy.argtypes = [ctypes.POINTER(XcursorImages)]


def load_xcursor(path):
    """Every image of the file: (size, hot spot, delay, ARGB pixels as rows of uint32), in file order."""
    loaded = LIB.XcursorFilenameLoadAllImages(path.encode())
    if not loaded:
        raise AssertionError("libXcursor cannot load " + path)
    try:
        images = []
        for i in range(loaded.contents.nimage):
            im = loaded.contents.images[i].contents
            pixels = np.ctypeslib.as_array(im.pixels, shape=(im.height, im.width)).copy()
            images.append((im.size, (im.xhot, im.yhot), im.delay, pixels))
        return images
    finally:
        LIB.XcursorImagesDestroy(loaded)


LIB.XcursorLibraryLoadImages.restype = ctypes.POINTER(XcursorImages)
LIB.XcursorLibraryLoadImages.argtypes = [ctypes.c_char_p, ctypes.c_char_p, ctypes.c_int]


def look_up(name, theme, size):
    """(nominal size, images) of the cursor a program gets asking the library for name in theme at
    size, searching the themes of XCURSOR_PATH (read once per process); None when not found."""
    loaded = LIB.XcursorLibraryLoadImages(name.encode(), theme.encode(), size)
    if not loaded:
        return None
    try:
        return loaded.contents.images[0].contents.size, loaded.contents.nimage
    finally:
        LIB.XcursorImagesDestroy(loaded)


if __name__ == "__main__":
    # xcursor_reader.py THEME SIZE NAME...: what the library finds for each name, one line each.
    import sys
    for cursor_name in sys.argv[3:]:
        print(cursor_name, look_up(cursor_name, sys.argv[1], int(sys.argv[2])))
