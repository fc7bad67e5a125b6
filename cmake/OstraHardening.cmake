# Hardening of the programs we ship, as Debian builds its own packages
# (and lintian checks them for): fortified C library calls, a stack
# protector, and relocations resolved at start-up and then made read-only.
# The builds that are shipped get it (Release, MinSizeRel). The test build
# is left as it is: the sanitizer pass already checks memory errors more
# strictly than _FORTIFY_SOURCE, and the card tests' static guest program
# keeps the flags it is known to boot with. _FORTIFY_SOURCE needs
# optimisation, which those two builds have, and is left out under the
# sanitizers, whose own interceptors would not see the fortified calls.
set(ostra_shipped "$<CONFIG:Release,MinSizeRel>")
add_compile_options("$<${ostra_shipped}:-fstack-protector-strong>")
if(NOT OSTRA_SANITIZE)
  add_compile_options("$<${ostra_shipped}:-D_FORTIFY_SOURCE=2>")
endif()
add_link_options("$<${ostra_shipped}:LINKER:-z,relro,-z,now>")
