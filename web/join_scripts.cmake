# Joins the files INPUTS (a list), in its order, into the file OUTPUT.
# Usage: cmake -DOUTPUT=<file> "-DINPUTS=<file>;<file>;..." -P join_scripts.cmake
cmake_minimum_required(VERSION 3.25)
set(joined "")
foreach(input IN LISTS INPUTS)
  file(READ ${input} text)
  string(APPEND joined "${text}")
endforeach()
file(WRITE ${OUTPUT} "${joined}")
