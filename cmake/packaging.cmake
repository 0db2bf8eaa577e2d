# `make package`: a Debian package of the installed tree (cpack -G DEB).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zingboard)
set(CPACK_PACKAGE_VENDOR "Zingboard")
set(CPACK_PACKAGE_CONTACT "Zingboard developers <dev@zingboard.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Loud, playful reactions to your business numbers")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Zingboard sits in the desktop tray, watches Stripe, Google Analytics 4, Google Search Console and\n"
       "Datafast figures (or a demo source) and turns every change into an emoji, a meme sound and a banner.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://zingboard.com/")
# The shared libraries the executable links come from dpkg-shlibdeps; these are loaded at run time instead:
# Qt's X11 platform plugin, and the GStreamer elements that decode the Ogg clips and play them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good")
# Colour emoji in the reactions, the system alert sounds, and a Secret Service for the keys.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-color-emoji, sound-theme-freedesktop, gnome-keyring")
include(CPack)
