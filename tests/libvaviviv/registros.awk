# Random input records for one code (-v codigo=N -v semilla=S -v n=COUNT):
# digits and letters of every length around the limits, blanks around,
# characters of the code page, dates and amounts in and out of range. UTF-8
# with its byte-order mark, as masivo reads UTF-8.
function al(k) { return int(rand() * k) }
function de(lista,   p) { p = split(lista, v, " "); return v[al(p) + 1] }
function cifras(k,   s) { s = ""; while (k-- > 0) s = s al(10); return s }
function mezcla(k,   s, c) {
    s = ""
    while (k-- > 0) { c = al(20); s = s (c < 9 ? al(10) : c < 17 ? substr("ABCXYZabz", al(9) + 1, 1) : de("ñ € - é")) }
    return s
}
function referencia(   r, k) {
    k = al(24)
    r = al(3) == 0 ? mezcla(k) : cifras(k)
    if (codigo == 2 && al(3) > 0) r = sprintf("%02d%02d%02d", al(100), al(14), al(33)) mezcla(al(16))
    if (al(8) == 0) r = " " r
    if (al(8) == 0) r = r "  "
    return r
}
BEGIN {
    srand(semilla)
    printf "\xEF\xBB\xBF"
    for (i = 0; i < n; ++i) {
        r = referencia()
        if (codigo == 6) r = r "\t" (al(6) ? cifras(al(11)) : mezcla(3)) "\t" (al(6) ? cifras(al(11)) : " 12")
        if (codigo == 10) r = r "\t" de("123.45 0 0.29 999999999.99 1000000000 -1 1,5 abc 1.005 ") "\t" \
            (al(4) ? sprintf("%02d/%02d/%04d", al(32), al(14), 1986 + al(30)) : de("1/6/2000 18/11/2014 19/11/2014 01/01/1988 31.12.1999 x"))
        print r
    }
}
