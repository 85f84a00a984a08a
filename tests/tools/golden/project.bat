@ECHO OFF
REM Copies of the batch file's parameters for its subroutines
SET KWJ_PARAM_Source=%1
REM Copies a folder and logs what it did
REM Check parameters
REM Check parameter Source
IF "%~1"=="" (
ECHO Parameter Source can not be empty!
GOTO :USAGEHINT
)
IF NOT EXIST "%~1" (
FOR /F "delims=" %%P IN ("%~1") DO ECHO Path %%P must exist!
GOTO :USAGEHINT
)
REM Check parameter Target (folder)
IF "%~2"=="" (
ECHO Parameter Target ^(folder^) can not be empty!
GOTO :USAGEHINT
)
SET Title=Tom ^& Jerry
REM Declare a variable: Title
REM Purpose: Shown at the start
REM never redirected
:Done
EXIT /B
REM -----------------------
REM SUBroutine Show
REM -----------------------
REM Parameters:
REM Name: What
REM Description: 

:Show
REM Check parameter What
IF "%~1"=="" (
ECHO Parameter What can not be empty!
EXIT /B 1
)
REM %KWJ_PARAM_Source% inside the subroutine
EXIT /B
REM End of subroutine Show
REM ----------------- 
EXIT /B
REM Usage hint
:USAGEHINT
SETLOCAL DISABLEDELAYEDEXPANSION
ECHO Usage:
ECHO %~nx0 Source Target ^(folder^)
ECHO Parameters:
ECHO Source (required) - Folder to copy
ECHO Target ^(folder^) (required) - Where to copy ^<it^>
EXIT /B 1
