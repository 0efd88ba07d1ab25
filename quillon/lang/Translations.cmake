# The eight translations of quillon's texts, each built as a resource-only
# library (no code, no entry point) with the target's own tool chain: the
# shipped i686 program embeds 32-bit libraries, and the x86_64 build that runs
# the tests embeds 64-bit ones that its process can load. lang.rc embeds them
# as DATA resources and is rebuilt when one changes.
set(quillon_translations de es fr it nl pl pt ru)
set(quillon_translation_dir ${CMAKE_CURRENT_BINARY_DIR}/translations)
set(quillon_translation_dlls "")
foreach(lang IN LISTS quillon_translations)
  set(rc ${CMAKE_CURRENT_SOURCE_DIR}/resources/lang/quillon_${lang}.rc)
  set(obj ${quillon_translation_dir}/quillon_${lang}.res.o)
  set(dll ${quillon_translation_dir}/quillon_${lang}.dll)
  add_custom_command(
    OUTPUT ${dll}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${quillon_translation_dir}
    COMMAND ${CMAKE_RC_COMPILER} -c 65001 -i ${rc} -o ${obj}
    COMMAND ${CMAKE_C_COMPILER} -shared -nostdlib -s -Wl,-e,0 -o ${dll} ${obj}
    DEPENDS ${rc}
    COMMENT "Translation library quillon_${lang}.dll"
    VERBATIM)
  list(APPEND quillon_translation_dlls ${dll})
endforeach()
add_custom_target(quillon_translations DEPENDS ${quillon_translation_dlls})
set(quillon_RESOURCE_DEPENDS ${quillon_RESOURCE_DEPENDS} ${quillon_translation_dlls}
    ${CMAKE_CURRENT_SOURCE_DIR}/resources/lang.rc)

# After suite_program: the resource script finds the libraries by name.
function(quillon_embed_translations)
  add_dependencies(quillon_res quillon_translations)
  target_include_directories(quillon_res PRIVATE ${quillon_translation_dir})
endfunction()
