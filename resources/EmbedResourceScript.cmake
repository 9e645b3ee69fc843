# Writes the resource script and its identifiers header into a C++ source as byte
# arrays, so the Linux program carries its dialog templates the way a Windows
# program carries its resources. Run by resources/CMakeLists.txt at build time.
function(embed_as_bytes file name out)
    file(READ ${file} hex HEX)
    string(REGEX REPLACE "(..)" "0x\\1," bytes "${hex}")
    set(${out} "extern const unsigned char ${name}[] = {${bytes}0x00};\nextern const unsigned ${name}Size = sizeof ${name} - 1;\n" PARENT_SCOPE)
endfunction()

embed_as_bytes(${SCRIPT} embeddedResourceScript script)
embed_as_bytes(${HEADER} embeddedResourceHeader header)
file(WRITE ${OUTPUT}.tmp "// Generated from kivo6.rc and resource.h; do not edit.\n${script}${header}")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
