# Lays out a user's installation of zem40 in HOME: program and libraries beside it, image
# modules in RASTDLL, the folders for card files, images, thumbnails, temporary files (temp is
# the HotSync conduit's work folder) and the recognition database, and the settings file (only when there is none yet).
foreach(folder RASTDLL Database IMAGE thumb TVRKTEMP TEMPLATE help temp TVRKDB/COMMON TVRKDB/WESTERN)
  file(MAKE_DIRECTORY ${HOME}/${folder})
endforeach()
file(COPY ${PROGRAM} ${LIBRARIES} ${EMPTY_TIF} DESTINATION ${HOME})
if(IMAGE_MODULES)
  file(COPY ${IMAGE_MODULES} DESTINATION ${HOME}/RASTDLL)
endif()
if(NOT EXISTS ${HOME}/zem40.ini)
  file(COPY ${SETTINGS} DESTINATION ${HOME})
endif()
