// quabe_pictures carries no code of its own: its content is the compiled-in
// resources, and CMake needs one source file to make the library.
