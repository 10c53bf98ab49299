# The Debian package. In a build folder, `cpack -G DEB` writes zan_<version>_<arch>.deb, which
# installs the tree of `cmake --install` under /usr.
set(CPACK_PACKAGE_NAME zan)
set(CPACK_PACKAGE_VENDOR "ZAN developers")
set(CPACK_PACKAGE_CONTACT "ZAN developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "inbreeding coefficients of a pigeon pedigree")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "ZAN developers")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ZAN_HOMEPAGE})
# Libraries from the binary itself; the fonts the report is measured and printed with; a browser
# launcher and a browser for the user guide.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-dejavu-extra")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "www-browser")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"ZAN is a desktop program for pigeon breeders that measures inbreeding in a
pedigree. The pedigree is typed into a grid of band numbers (bird, sire,
dam) and kept as a comma-separated file. The analysis computes by the
matrix method the inbreeding coefficient of the pedigreed bird and of every
ancestor, each ancestor's relationship to the bird corrected for
inbreeding, and per-ancestor statistics: generations, occurrences, share
of blood on the sire's and the dam's side and contribution to the
inbreeding. The report, with an eight-generation pedigree chart, is shown
in a print preview and printed; a batch command writes it to PDF or text.")

include(CPack)
