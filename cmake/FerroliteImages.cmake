# ferrolite_copy_images(<target>): copies the artwork that the program reads at run time
# (Images/ of the source tree) into an Images folder beside <target>'s executable, as installed.
include_guard(GLOBAL)
get_filename_component(FERROLITE_IMAGES_DIR ${CMAKE_CURRENT_LIST_DIR}/../Images ABSOLUTE)
set(FERROLITE_IMAGE_FILES Dlg_Common_Top.bmp Button_Top_Help.png Button_Top_About.png)

function(ferrolite_copy_images target)
  get_target_property(exe_dir ${target} RUNTIME_OUTPUT_DIRECTORY)
  if(NOT exe_dir)
    get_target_property(exe_dir ${target} BINARY_DIR)
  endif()
  set(copies)
  foreach(file IN LISTS FERROLITE_IMAGE_FILES)
    add_custom_command(OUTPUT ${exe_dir}/Images/${file}
                       COMMAND ${CMAKE_COMMAND} -E copy ${FERROLITE_IMAGES_DIR}/${file} ${exe_dir}/Images/${file}
                       DEPENDS ${FERROLITE_IMAGES_DIR}/${file}
                       VERBATIM)
    list(APPEND copies ${exe_dir}/Images/${file})
  endforeach()
  add_custom_target(${target}_images ALL DEPENDS ${copies})
  add_dependencies(${target} ${target}_images)
endfunction()
