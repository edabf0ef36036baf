# The Debian package (cpack -G DEB), made by scripts/package.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillbrae)
set(CPACK_PACKAGE_VENDOR Orvandel)
set(CPACK_PACKAGE_CONTACT "Orvandel <quillbrae@orvandel.com>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://www.orvandel.com/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "print a list of web pages one after another")
# Debian shows the description as it stands, so its lines are kept short here.
set(CPACK_PACKAGE_DESCRIPTION "\
Quillbrae prints a list of web pages one after another, so that nobody has to
open and print each page by hand. The list is typed in, loaded from a text
file or taken from samples, and put in order with buttons or the mouse. Each
page is loaded out of sight, waited for until it is complete and printed as
vector PDF through CUPS to the chosen printer, without a print dialog.")
set(CPACK_STRIP_FILES ON)
# Debian's own packages are stripped by dh_strip, which also drops the sections that only name the
# compiler and tools that built the program (.comment, .note); CMake's strip keeps them. So a
# stripping install strips those too. The program is installed by then: src/ installs before
# packaging/.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(
      COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
              \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:quillbrae>\"
      COMMAND_ERROR_IS_FATAL ANY)
  endif()")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries the program links come from dpkg-shlibdeps: with Qt GUI the reader of its pointer
# pictures (.ico, .cur), with Qt WebEngine its helper process (libqt6webenginecore6-bin), which
# Debian's Qt WebEngine names for every program that links it, and QtKeychain (libqt6keychain1) for
# the passwords the window remembers in the desktop's keyring. The rest it loads or runs by name:
# the SVG plugins that draw its icons, ping for the online check and the font with Arial's metrics
# that its layout is drawn for.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, iputils-ping, fonts-liberation2")
# Printing needs a print server; cups-pdf gives a machine without a printer a PDF printer.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups, printer-driver-cups-pdf")

include(CPack)
