# The settings every target of our own code compiles with: link quillbrae_compile_settings
# PRIVATE. Qt's headers are system headers and stay out of the warnings.
option(QUILLBRAE_WERROR "Treat warnings in Quillbrae's own code as errors" ON)

add_library(quillbrae_compile_settings INTERFACE)
# Text crosses between bytes and QString, and between QString and QUrl, only where the code says
# which encoding or which parsing it means.
target_compile_definitions(quillbrae_compile_settings INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY QT_NO_URL_CAST_FROM_STRING)
target_compile_options(quillbrae_compile_settings INTERFACE
  -Wall -Wextra -Wshadow -Wconversion -Wold-style-cast -Wnon-virtual-dtor -Wpedantic
  $<$<BOOL:${QUILLBRAE_WERROR}>:-Werror>)

# A build for finding memory errors and undefined behaviour in our code; the tests then run with
# the options below (see tests/CMakeLists.txt). Qt and the libraries under it are not instrumented.
option(QUILLBRAE_SANITIZE "Build Quillbrae's own code with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(QUILLBRAE_SANITIZE)
  target_compile_options(quillbrae_compile_settings INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(quillbrae_compile_settings INTERFACE -fsanitize=address,undefined)
endif()
