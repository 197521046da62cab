# The Debian package: `cpack -G DEB` in the build folder. Its dependencies are the libraries the
# program links, as dpkg-shlibdeps finds them.
set(CPACK_PACKAGE_NAME orvane)
set(CPACK_PACKAGE_VENDOR brimtove)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "MP3 collection manager and player")
set(CPACK_PACKAGE_DESCRIPTION "Orvane keeps an MP3 collection in one place: it reads every file's
tag and first frame, keeps one record per song and lets you browse by album,
artist, genre and disk folder, search, keep playlists and favourites, edit tags
and play your songs.")
set(CPACK_PACKAGE_CONTACT "Orvane developers <orvane@example.org>" CACHE STRING
    "The package's maintainer")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-qpa-plugins")
include(CPack)
