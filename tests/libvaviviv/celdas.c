/* The results cells vaviviv-cli masivo writes, from libvaviviv: for each line
 * of an input file (UTF-8, optional byte-order mark, LF or CR LF, fields
 * separated by tabs) its fields, the complete reference and the digits, each
 * followed by a tab, then CR LF. Every calculated reference must verify, and
 * with its last digit changed must not. C99 that is C++ as well.
 * Usage: celdas CODIGO ARCHIVO */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <vaviviv/vaviviv.h>

static char linea[1 << 16];

int main(int argc, char **argv) {
    FILE *f;
    int codigo, primera = 1;
    if (argc != 3 || (f = fopen(argv[2], "rb")) == NULL) return 2;
    codigo = atoi(argv[1]);
    while (fgets(linea, sizeof linea, f)) {
        char *p = linea, *t;
        const char *campos[3] = {NULL, NULL, NULL};
        int cuantos = 1, i, estado;
        vaviviv_resultado r;
        if (primera && strncmp(p, "\xEF\xBB\xBF", 3) == 0) p += 3;
        primera = 0;
        p[strcspn(p, "\r\n")] = '\0';
        campos[0] = p;
        for (t = p; cuantos < 3 && (t = strchr(t, '\t')) != NULL;) {
            *t++ = '\0';
            campos[cuantos++] = t;
        }
        estado = vaviviv_calcular(codigo, campos[0], campos[1], campos[2], &r);
        if (estado < 0 || estado != r.estado) {
            fprintf(stderr, "vaviviv_calcular: %d en «%s»\n", estado, campos[0]);
            return 1;
        }
        for (i = 0; i < cuantos; ++i) printf("%s\t", campos[i]);
        printf("%s\t%s\t\r\n", r.completa, r.digitos);
        if (estado == VAVIVIV_CALCULADA) {
            size_t n = strlen(r.completa);
            int buena = vaviviv_verificar(codigo, r.completa, campos[1], campos[2]);
            r.completa[n - 1] = r.completa[n - 1] == '0' ? '1' : '0';
            if (buena != 1 || vaviviv_verificar(codigo, r.completa, campos[1], campos[2]) != 0) {
                fprintf(stderr, "vaviviv_verificar: %d en «%s»\n", buena, campos[0]);
                return 1;
            }
        }
    }
    return fclose(f) == 0 ? 0 : 1;
}
