# Writes lua.dat's entry 0: the asset table followed by the configuration
# script. Run as: cmake -DASSETS=... -DCONF=... -DOUT=... -P pack_conf.cmake
file(READ "${ASSETS}" assets)
file(READ "${CONF}" conf)
file(WRITE "${OUT}" "${assets}\n${conf}")
