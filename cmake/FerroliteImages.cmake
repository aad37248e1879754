# ferrolite_copy_images(<target>): copies the artwork that the program reads at run time
# (Images/ of the source tree) into an Images folder beside <target>'s executable, as installed.
include_guard(GLOBAL)

function(ferrolite_copy_images target)
  get_filename_component(source_dir ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../Images ABSOLUTE)
  get_target_property(exe_dir ${target} RUNTIME_OUTPUT_DIRECTORY)
  if(NOT exe_dir)
    get_target_property(exe_dir ${target} BINARY_DIR)
  endif()
  set(copies)
  foreach(file Dlg_Common_Top.bmp Button_Top_Help.png Button_Top_About.png)
    add_custom_command(OUTPUT ${exe_dir}/Images/${file}
                       COMMAND ${CMAKE_COMMAND} -E copy ${source_dir}/${file} ${exe_dir}/Images/${file}
                       DEPENDS ${source_dir}/${file}
                       VERBATIM)
    list(APPEND copies ${exe_dir}/Images/${file})
  endforeach()
  add_custom_target(${target}_images ALL DEPENDS ${copies})
  add_dependencies(${target} ${target}_images)
endfunction()
