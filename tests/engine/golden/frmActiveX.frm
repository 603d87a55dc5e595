VERSION 5.00
Begin VB.Form frmActiveX
   BackColor       =   &H00C0C0C0&
   BorderStyle     =   3  'Fixed Dialog
   Caption         =   ""
   ClientHeight    =   2400
   ClientLeft      =   0
   ClientTop       =   0
   ClientWidth     =   3605
   BeginProperty Font
      Name            =   "Arial"
      Size            =   10
      Charset         =   0
      Weight          =   400
      Underline       =   -1
      Italic          =   0
      Strikethrough   =   -1
   EndProperty
   ForeColor       =   &H00000000&
   MaxButton       =   0   'False
   MinButton       =   0   'False
   ScaleHeight    =   2400
   ScaleWidth     =   3605
   ShowInTaskbar   =   0   'False
   StartUpPosition =   1  'CenterOwner
   Begin MSComctlLib.ProgressBar prgLoad
      Enabled         =   0   'False
      Height          =   360
      Left            =   120
      TabIndex        =   0
      Top             =   120
      Width           =   2400
   End
   Begin <unknown>.Gauge gauPressure
      Caption         =   "Pressure"
      BackColor       =   &H000000FF&
      Enabled         =   0   'False
      Height          =   1200
      Left            =   120
      TabIndex        =   1
      Top             =   600
      Width           =   1200
   End
   Begin VB.checkbox chkLower
      Caption         =   "lower"
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000012&
      Height          =   240
      Left            =   120
      TabIndex        =   2
      Top             =   1920
      Width           =   1200
   End
   Begin <unknown>.scrollbar sbLower
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000012&
      Height          =   240
      Left            =   1400
      TabIndex        =   3
      Top             =   1920
      Width           =   1200
   End
End
Attribute VB_Name = "frmActiveX"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False

