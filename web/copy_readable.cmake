# cmake -DFILES=a|b|c -DDESTINATION=folder -P copy_readable.cmake: copies the files into the
# folder as plain readable files, whatever their permission bits were (the linker marks the
# module executable, which no file of a web folder is).
string(REPLACE "|" ";" files "${FILES}")
file(MAKE_DIRECTORY "${DESTINATION}")
file(COPY ${files} DESTINATION "${DESTINATION}"
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
# Copied now, whatever the sources' times: the build compares the copies' times with theirs.
foreach(file IN LISTS files)
  cmake_path(GET file FILENAME name)
  file(TOUCH "${DESTINATION}/${name}")
endforeach()
