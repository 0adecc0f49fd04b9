# Registers the library just built; never fails the build.
execute_process(
  COMMAND "${REGSVR}" /s "${BIBLIOTHEQUE}"
  RESULT_VARIABLE resultat
  OUTPUT_VARIABLE sortie
  ERROR_VARIABLE erreurs
  TIMEOUT 60)
if(NOT resultat STREQUAL "0")
  message(WARNING "BoutonKiv_W9x was built but could not be registered (${resultat}): "
    "${sortie}${erreurs}Run bouton-regsvr on it by hand, or let the program register it.")
endif()
