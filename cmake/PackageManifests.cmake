# Run by CPack once the zip is made: the package managers' manifests beside it, from the
# project's version, the zip's SHA-256 and the address it will be downloaded from.
#   CPACK_PACKAGE_FILES              the zip CPack made
#   CPACK_TAVERO_SOURCE_DIR          where the manifests' templates are (packaging/)
#   CPACK_TAVERO_DOWNLOAD_URL        the zip's address; "@VERSION@" in it becomes the version
#   CPACK_TAVERO_HOMEPAGE            the product page
#   CPACK_TAVERO_RELEASE_NOTES       the release's page
#   CPACK_PACKAGE_VERSION            the version
#   CPACK_PACKAGE_DIRECTORY          where the zip goes
set(zip "")
foreach(file IN LISTS CPACK_PACKAGE_FILES)
  if(file MATCHES "\\.zip$")
    set(zip "${file}")
  endif()
endforeach()
if(NOT zip)
  message(FATAL_ERROR "No zip among the packages made: ${CPACK_PACKAGE_FILES}")
endif()
# The zip is still in CPack's working folder here; the manifests go where it is put.
set(out "${CPACK_PACKAGE_DIRECTORY}")

set(VERSION "${CPACK_PACKAGE_VERSION}")
set(EXE TaveroMirelle.exe)
set(ALIAS taveromirelle)
set(WINGET_ID TaveroMirelle.TaveroMirelle)
# The winget manifest schema the manifests are written in.
set(WINGET_SCHEMA 1.10.0)
set(HOMEPAGE "${CPACK_TAVERO_HOMEPAGE}")
set(RELEASE_NOTES "${CPACK_TAVERO_RELEASE_NOTES}")
string(CONFIGURE "${CPACK_TAVERO_DOWNLOAD_URL}" URL @ONLY)
# Scoop's autoupdate writes the next version where Scoop's own variable stands.
string(REPLACE "@VERSION@" "$version" AUTOUPDATE_URL "${CPACK_TAVERO_DOWNLOAD_URL}")
file(SHA256 "${zip}" SHA256)
string(TOUPPER "${SHA256}" SHA256_UPPER)

set(templates "${CPACK_TAVERO_SOURCE_DIR}/packaging")
file(GLOB winget RELATIVE "${templates}/winget" "${templates}/winget/*.yaml.in")
foreach(template IN LISTS winget)
  string(REGEX REPLACE "\\.in$" "" name "${template}")
  configure_file("${templates}/winget/${template}" "${out}/winget/${VERSION}/${name}" @ONLY
                 NEWLINE_STYLE UNIX)
endforeach()
configure_file("${templates}/scoop/TaveroMirelle.json.in" "${out}/scoop/TaveroMirelle.json" @ONLY
               NEWLINE_STYLE UNIX)
message(STATUS "Package manifests: ${out}/winget/${VERSION}, ${out}/scoop/TaveroMirelle.json")
