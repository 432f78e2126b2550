/* libvaviviv: the check digits of bank payment references, as the bulk
 * calculation of VaviviV gives them. C99 and C++; no state, no allocation the
 * caller must free; every function may be called from any thread. Texts are
 * UTF-8 and NUL-terminated. */
#ifndef VAVIVIV_VAVIVIV_H
#define VAVIVIV_VAVIVIV_H

#if defined(__GNUC__)
#define VAVIVIV_API __attribute__((visibility("default")))
#else
#define VAVIVIV_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* estado of a calculated record */
#define VAVIVIV_CALCULADA 0           /* completa: reference + digits; digitos: the digits */
#define VAVIVIV_ERROR 1               /* completa: the record's error text */
#define VAVIVIV_CARACTER_NO_VALIDO 2  /* codes 35-37 refused caracter; completa and digitos empty */

/* what the functions return instead, below zero */
#define VAVIVIV_CODIGO_DESCONOCIDO (-1)  /* not one of 0 2 3 4 6 10 35 36 37 */
#define VAVIVIV_TEXTO_NO_VALIDO (-2)     /* a text is not UTF-8 */
#define VAVIVIV_ARGUMENTO_NULO (-3)      /* referencia, completa or resultado is NULL */
#define VAVIVIV_RESULTADO_LARGO (-4)     /* code 02 only: reference + digit longer than completa holds */

typedef struct vaviviv_resultado {
    int  estado;           /* VAVIVIV_CALCULADA 0, VAVIVIV_ERROR 1, VAVIVIV_CARACTER_NO_VALIDO 2 */
    char completa[256];    /* UTF-8, NUL-terminated: reference + digits, or the error text */
    char digitos[16];      /* the check digits, empty unless CALCULADA */
    char caracter[8];      /* CARACTER_NO_VALIDO: the refused character (one UTF-8 sequence) */
} vaviviv_resultado;

/* "1.0.0" */
VAVIVIV_API const char *vaviviv_version(void);

/* One record as a line of an input file holds it: the bulk rules of the results
 * file, same cells, same texts. campo2/campo3: branch and account (06), amount
 * and date (10), ignored by the other codes; NULL means empty. Returns estado,
 * or < 0 (then resultado, if given, holds that value as estado and empty texts). */
VAVIVIV_API int vaviviv_calcular(int codigo, const char *referencia, const char *campo2, const char *campo3,
                                 vaviviv_resultado *resultado);

/* A complete reference (its last digits the code's width: 8 for 10, 2 for 04,
 * 06 and 37, else 1): 1 valid, 0 not valid (also when the record before the
 * digits has an error), < 0 as above. campo2/campo3 as for vaviviv_calcular. */
VAVIVIV_API int vaviviv_verificar(int codigo, const char *completa, const char *campo2, const char *campo3);

#ifdef __cplusplus
}
#endif

#endif
