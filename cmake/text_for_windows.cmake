# cmake -DIN=guide.txt -DOUT=copy.txt -P text_for_windows.cmake
# The copy a Windows user opens: UTF-8 with a byte-order mark (so Notepad shows it right under
# any code page) and CRLF line ends.
file(READ ${IN} text)
string(ASCII 239 187 191 bom)
string(REGEX REPLACE "^${bom}" "" text "${text}")
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${OUT} "${bom}${text}")
