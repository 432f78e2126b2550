"""Dígitos verificadores de referencias de pago bancarias (VaviviV).

Los nueve algoritmos de VaviviV sobre libvaviviv, en dos formas: calcular,
verificar y calcular_muchos dan las celdas de «vaviviv-cli masivo»;
calc_check_digits, validate e is_valid responden como los módulos de
python-stdnum, con las excepciones InvalidFormat, InvalidLength e
InvalidChecksum (todas ValidationError, que es un ValueError).

>>> import vaviviv
>>> vaviviv.calc_check_digits(0, '123456')
'6'
>>> vaviviv.is_valid(0, '1234566')
True
"""

from vaviviv._vaviviv import *  # noqa: F401,F403
from vaviviv._vaviviv import __all__, __version__  # noqa: F401
