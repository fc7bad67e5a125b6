# ostra_logo_artwork: the drawing of the maker's badge and of the
# application icon, shared by the logo tool and the test that checks the
# committed icons against it. Included from both places, defined once.
include_guard(GLOBAL)
find_package(Qt6 REQUIRED COMPONENTS Gui)
add_library(ostra_logo_artwork STATIC
  ${CMAKE_CURRENT_LIST_DIR}/IconArtwork.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LogoArtwork.cpp)
ostra_include_folder(ostra_logo_artwork PUBLIC tools/make-logo AS .
  FILES IconArtwork.h LogoArtwork.h)
target_link_libraries(ostra_logo_artwork PUBLIC Qt6::Gui)
