# Writes SITE/service-worker.js from TEMPLATE: the list of the site's files and a version that is
# a hash of their contents, so a build that changes any file gives the page a new cache. Run by
# cmake -P after the site is complete; the file is rewritten only when it changes.
file(GLOB_RECURSE files RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM files service-worker.js)
list(SORT files)
set(listing "")
set(quoted "")
foreach(file IN LISTS files)
  file(SHA256 ${SITE}/${file} hash)
  string(APPEND listing "${file} ${hash}\n")
  list(APPEND quoted "'${file}'")
endforeach()
string(SHA256 version "${listing}")
string(SUBSTRING ${version} 0 16 ORBISK_SITE_VERSION)
list(JOIN quoted ", " ORBISK_SITE_FILES)
configure_file(${TEMPLATE} ${SITE}/service-worker.js @ONLY)
