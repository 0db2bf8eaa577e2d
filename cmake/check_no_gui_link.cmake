# Fails when the core library links a Qt GUI module.
cmake_minimum_required(VERSION 3.25)
foreach(lib IN LISTS LINK_LIBRARIES)
  if(lib MATCHES "Qt6?::(Gui|Widgets|Multimedia|Svg|OpenGL|Quick|Qml)")
    message(FATAL_ERROR "the core links ${lib}")
  endif()
endforeach()
message(STATUS "the core links no GUI library")
