# The program's icons come from the Tango icon theme (Debian's tango-icon-theme, which scripts/setup
# installs). Each 32 x 32 picture is converted at build time into a 32 x 32 .ico whose AND mask
# follows its transparency: pixels less than half opaque become transparent and black (ImageMagick 6
# thresholds the alpha channel as opacity, hence -white-threshold), so that the
# mask alone says where the picture is (a disabled tool bar button draws it in grey through the mask).
#
# vexa_icons(target folder name theme-path [name theme-path ...]) makes folder/name.ico from
# <theme>/32x32/theme-path.png for each pair, builds them with target, and lists the files in
# <target>_FILES.
set(VEXA_ICON_THEME /usr/share/icons/Tango CACHE PATH "The icon theme the program's icons come from")

function(vexa_icons target folder)
  find_program(VEXA_CONVERT convert REQUIRED)
  set(files)
  set(pairs ${ARGN})
  while(pairs)
    list(POP_FRONT pairs name path)
    set(source ${VEXA_ICON_THEME}/32x32/${path}.png)
    if(NOT EXISTS ${source})
      message(FATAL_ERROR "${source} is missing: run scripts/setup (it installs tango-icon-theme)")
    endif()
    set(icon ${folder}/${name}.ico)
    add_custom_command(
      OUTPUT ${icon}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
      COMMAND ${VEXA_CONVERT} ${source} -channel A -white-threshold 50% +channel
              -background black -alpha background -define icon:auto-resize=32 ${icon}
      DEPENDS ${source}
      COMMENT "Icon ${name}.ico"
      VERBATIM)
    list(APPEND files ${icon})
  endwhile()
  add_custom_target(${target} ALL DEPENDS ${files})
  set(${target}_FILES ${files} PARENT_SCOPE)
endfunction()
