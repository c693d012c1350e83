# Writes the service worker of the site in SITE from TEMPLATE: the list of FILES it keeps
# (separated by commas), a digest of their contents as the name of its cache, and the page of
# each language (PAGES: "code: 'page'" entries separated by "|").
string(REPLACE "," ";" FILES "${FILES}")
set(digests "")
set(quoted "")
foreach(file ${FILES})
    file(SHA256 ${SITE}/${file} digest)
    string(APPEND digests "${file} ${digest}\n")
    list(APPEND quoted "'${file}'")
endforeach()
string(SHA256 VELKORA_SITE_DIGEST "${digests}")
string(SUBSTRING ${VELKORA_SITE_DIGEST} 0 16 VELKORA_SITE_DIGEST)
list(PREPEND quoted "'./'")
list(JOIN quoted ", " VELKORA_SITE_FILES)
string(REPLACE "|" ", " VELKORA_SITE_PAGES "${PAGES}")
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
