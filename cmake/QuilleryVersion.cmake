# Who and what the program is has one source, app/shell/product_info.h: its kVersionText is
# what the about box and the update check show. The build reads the texts from there for
# everything else that names the program or its version: the VERSIONINFO resource, the
# manifest's assembly identity and the installer (scripts/package.sh).
#
# Sets QUILLERY_VERSION (kVersionText, "2.3"), QUILLERY_VERSION_QUAD ("2.3.0.0"),
# QUILLERY_VERSION_COMMAS ("2,3,0,0", the resource's numeric fields), QUILLERY_PRODUCT,
# QUILLERY_PUBLISHER, QUILLERY_COPYRIGHT, QUILLERY_DESCRIPTION and QUILLERY_PRODUCT_URL.

set(_product_info "${CMAKE_CURRENT_LIST_DIR}/../app/shell/product_info.h")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${_product_info}")
file(STRINGS "${_product_info}" _product_lines REGEX "^inline constexpr char k[A-Za-z]+\\[\\] = ")

# The text of `inline constexpr char <constant>[] = "...";`, which must be there.
function(_quillery_product_text variable constant)
  foreach(_line IN LISTS _product_lines)
    if(_line MATCHES "^inline constexpr char ${constant}\\[\\] = \"([^\"\\\\]*)\";$")
      set(${variable} "${CMAKE_MATCH_1}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
  message(FATAL_ERROR "No plain text ${constant} in ${_product_info}")
endfunction()

_quillery_product_text(QUILLERY_VERSION kVersionText)
_quillery_product_text(QUILLERY_PRODUCT kProductTitle)
_quillery_product_text(QUILLERY_PUBLISHER kPublisherName)
_quillery_product_text(QUILLERY_COPYRIGHT kCopyrightText)
_quillery_product_text(QUILLERY_DESCRIPTION kFileDescription)
_quillery_product_text(QUILLERY_PRODUCT_URL kProductSiteUrl)

if(NOT QUILLERY_VERSION MATCHES "^[0-9]+(\\.[0-9]+)?(\\.[0-9]+)?(\\.[0-9]+)?$")
  message(FATAL_ERROR "kVersionText \"${QUILLERY_VERSION}\" is not one to four numbers "
                      "joined by dots")
endif()
string(REPLACE "." ";" _parts "${QUILLERY_VERSION}")
list(LENGTH _parts _count)
while(_count LESS 4)
  list(APPEND _parts 0)
  math(EXPR _count "${_count} + 1")
endwhile()
foreach(_part IN LISTS _parts)
  if(_part GREATER 65535)
    message(FATAL_ERROR "kVersionText \"${QUILLERY_VERSION}\": each number must be below 65536")
  endif()
endforeach()
list(JOIN _parts "." QUILLERY_VERSION_QUAD)
list(JOIN _parts "," QUILLERY_VERSION_COMMAS)
